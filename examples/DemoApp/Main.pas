unit Main;

interface

uses
  System.SysUtils, System.Classes, ORVO.Forms, ORVO.Controls, ORVO.Button, ORVO.Image, ORVO.Label,
  ORVO.Layout, ORVO.Shapes, ORVO.CollectionView;

type
  TFormMain = class(TqoForm)
    LayoutHeader: TqoLayout;
    RectangleHeader: TqoRectangle;
    ImageLogo: TqoImage;
    LabelTitle: TqoLabel;
    CollectionViewItems: TqoCollectionView;
    LayoutFooter: TqoLayout;
    qoImage1: TqoImage;
    ImageStar: TqoImage;
    qoButton1: TqoButton;
    procedure qoButton1Click(Sender: TObject);
  end;

var
  FormMain: TFormMain;

implementation

{$R *.xfm}

procedure TFormMain.qoButton1Click(Sender: TObject);
begin
  qoImage1.ImageName := 'Avatar';
end;

end.
